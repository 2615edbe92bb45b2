// Preview page tests.
