// Database maintenance tests.
