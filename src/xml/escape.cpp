// escape
