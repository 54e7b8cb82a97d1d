// entities
