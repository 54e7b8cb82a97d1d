// element_index
