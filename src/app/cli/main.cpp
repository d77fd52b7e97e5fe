// movrand-cli: the program's operations without windows, for scripts.
#include <iostream>

int main() {
    std::cout << "movrand-cli: not yet available\n";
    return 2;
}
