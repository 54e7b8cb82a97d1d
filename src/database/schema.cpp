// schema
