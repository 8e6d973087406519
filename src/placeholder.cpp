// placeholder until the first routine lands
