// navigation
