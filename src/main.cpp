// Filled in by the window layer.
int main() { return 0; }
