// A comment may say thread_local.
int Named() { return 0; }
