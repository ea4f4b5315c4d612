// Stands for a running application: tests copy it into a bundle, start it and kill it. It ends
// by itself after the number of seconds it is given (60 by default), should a test not.
#include <unistd.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    ::sleep(static_cast<unsigned>(seconds > 0 ? seconds : 60));
    return 0;
}
