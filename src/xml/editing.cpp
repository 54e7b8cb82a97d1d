// editing
