// entity_table
