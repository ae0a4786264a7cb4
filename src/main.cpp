#include <cstdio>

int main() {
    std::printf("Voxclock %d.%d.%d\n", VOXCLOCK_VERSION_MAJOR, VOXCLOCK_VERSION_MINOR,
                VOXCLOCK_VERSION_PATCH);
    return 0;
}
