/* An independent check of the throughput test's figures: the same three
 * scalar loops (copy = load and store back, read = load, write = store, one
 * 32-bit word per step) written as plain C over volatile words, timed with
 * the monotonic clock instead of the time-stamp counter, and reported as the
 * median of three timed passes after one warm-up pass per block size.
 *
 *   cc -O2 -fno-tree-vectorize -fno-unroll-loops -falign-loops=64 -o /tmp/tp_reference scripts/throughput_reference.c
 *
 * Align the loops: on some processors a one-word loop that straddles a
 * 64-byte boundary runs at half speed, which would be measured as the
 * loop's placement rather than the memory.
 *   /tmp/tp_reference > reference.csv      # block_kb,copy_mbps,read_mbps,write_mbps
 *
 * Blocks are 4 KB to 4096 KB in steps of 4 KB of one 32 MB buffer; MB = 1048576
 * bytes. Runs in the real-time class when permitted, with a rest between
 * block sizes so that Linux's real-time budget never stops it mid-pass. */
#define _GNU_SOURCE
#include <sched.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static double now_s(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}

static void rest(double s) {
    struct timespec ts = {(time_t)s, (long)((s - (time_t)s) * 1e9)};
    nanosleep(&ts, NULL);
}

static __attribute__((noinline)) void copy_words(volatile uint32_t* p, size_t n) {
    for (size_t i = 0; i < n; ++i) p[i] = p[i];
}

static __attribute__((noinline)) void read_words(volatile uint32_t* p, size_t n) {
    for (size_t i = 0; i < n; ++i) (void)p[i];
}

static __attribute__((noinline)) void write_words(volatile uint32_t* p, size_t n, uint32_t v) {
    for (size_t i = 0; i < n; ++i) p[i] = v;
}

static double median3(double a, double b, double c) {
    if (a > b) { double t = a; a = b; b = t; }
    if (b > c) { double t = b; b = c; c = t; }
    if (a > b) { double t = a; a = b; b = t; }
    return b;
}

enum { ROWS = 1024 };
static double mbps[ROWS + 1][3];

int main(void) {
    const size_t bytes = 33554432;
    uint32_t* buf = aligned_alloc(4096, bytes);
    if (!buf) { fprintf(stderr, "no memory\n"); return 1; }
    memset(buf, 0, bytes);
    struct sched_param sp = {.sched_priority = sched_get_priority_max(SCHED_FIFO)};
    sched_setscheduler(0, SCHED_FIFO, &sp); /* fine if refused */

    double busy_since = now_s();
    for (int t = 0; t < 3; ++t) {
        for (int r = 1; r <= ROWS; ++r) {
            const size_t n = (size_t)1024 * r;
            double times[4];
            for (int pass = 0; pass < 4; ++pass) {
                const uint32_t v = (uint32_t)rand();
                const double t0 = now_s();
                if (t == 0) copy_words(buf, n);
                else if (t == 1) read_words(buf, n);
                else write_words(buf, n, v);
                times[pass] = now_s() - t0;
            }
            const double secs = median3(times[1], times[2], times[3]);
            mbps[r][t] = (4.0 * r / 1024.0) / secs;
            if (now_s() - busy_since > 0.3) { rest(0.1); busy_since = now_s(); }
        }
    }
    printf("block_kb,copy_mbps,read_mbps,write_mbps\n");
    for (int r = 1; r <= ROWS; ++r) printf("%d,%.2f,%.2f,%.2f\n", 4 * r, mbps[r][0], mbps[r][1], mbps[r][2]);
    free(buf);
    return 0;
}
