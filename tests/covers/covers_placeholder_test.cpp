// Disc cover, label and slip tests.
