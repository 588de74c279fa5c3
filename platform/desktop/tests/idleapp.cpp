// Stands in for an application in a bundle: it does nothing until it is terminated, and ends by
// itself after a minute so that a failed test leaves nothing behind.
#include <unistd.h>

int main()
{
    alarm(60);
    pause();
    return 0;
}
