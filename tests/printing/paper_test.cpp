// Paper page tests.
