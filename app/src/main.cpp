#include <cstdio>

int main()
{
    std::puts("Quenby: placeholder program; the application itself is not built yet.");
    return 0;
}
