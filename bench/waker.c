/* The floor for an idle clock: a bare program that wakes at every whole second of the wall clock,
   reads the local time and formats it, as any clock must, and sleeps again. bench/idle.py runs it
   beside the program and compares what the two cost. */
#include <stdio.h>
#include <time.h>

int main(void)
{
    char shown[16];
    for (;;) {
        struct timespec now;
        clock_gettime(CLOCK_REALTIME, &now);
        struct timespec next = {now.tv_sec + 1, 0};
        clock_nanosleep(CLOCK_REALTIME, TIMER_ABSTIME, &next, NULL);
        struct tm local;
        localtime_r(&next.tv_sec, &local);
        strftime(shown, sizeof shown, "%H:%M:%S", &local);
        /* Kept from being optimised away, without printing anything. */
        __asm__ volatile("" : : "r"(shown) : "memory");
    }
}
