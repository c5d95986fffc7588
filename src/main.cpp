// zolt: the designer's host program.
#include <iostream>

int main() {
    std::cout << "zolt: the designer is not built yet.\n";
    return 0;
}
