// Preloaded into a program (LD_PRELOAD) to make fsync and fdatasync return at
// once, so that a benchmark can show what an export costs apart from the
// durable writes. Only for measuring: files written so are not crash-safe.
extern "C" int fsync(int) { return 0; }
extern "C" int fdatasync(int) { return 0; }
