// A library with nothing in it: mapping it is the loader's own work alone,
// the anchor of the start-up benchmark.
