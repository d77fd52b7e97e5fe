// The desktop program: takes no arguments.
#include "app/ui/DesktopProgram.h"

int main(int argc, char* argv[]) {
    return movrand::RunDesktopProgram(argc, argv);
}
