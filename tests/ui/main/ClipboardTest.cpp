// The clipboard tests.
