// Placeholder until the stand-in box lands.
int main() { return 0; }
