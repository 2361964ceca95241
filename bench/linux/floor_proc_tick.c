/* The floor of the Linux edition's idle watcher: what the kernel costs to list /proc once
 * a second, and nothing else (no names read, no window, no event loop). Runs until killed. */
#include <dirent.h>
#include <unistd.h>

int main(void) {
    for (;;) {
        DIR* proc = opendir("/proc");
        volatile int count = 0;
        if (proc) {
            while (readdir(proc)) ++count;
            closedir(proc);
        }
        sleep(1);
    }
}
