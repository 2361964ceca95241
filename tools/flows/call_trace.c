/* Which of the program's functions run inside the call trees of a few chosen functions.
 * Linked into a build compiled with -finstrument-functions and linked at fixed addresses
 * (no PIE, no dynamic base), so that the addresses `nm` reads from the file are the ones
 * that run. LUMEQ_TRACE_ROOTS: the roots' addresses, in hex, separated by commas.
 * LUMEQ_TRACE_BREAKS: functions, the same way, that end the flow until they return: a window
 * procedure entered inside a flow runs another event, let through by a nested message loop.
 * LUMEQ_TRACE_OUT: the file that gets "above ADDRESS" for every caller on the stack when a
 * root is first entered, and "in ADDRESS" for every function first seen under a root. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define NO_TRACE __attribute__((no_instrument_function))
#define MAX_ROOTS 64
#define MAX_DEPTH 4096
#define SEEN_SLOTS 65536

static uintptr_t roots[MAX_ROOTS];
static int rootCount = -1;  /* -1: not read yet */
static uintptr_t breaks[MAX_ROOTS];
static int breakCount;
static FILE* out;
static uintptr_t seen[SEEN_SLOTS];
static int stackedAbove;

static __thread uintptr_t stack[MAX_DEPTH];
static __thread int depth;
static __thread int flowDepth = -1;   /* depth of the outermost root on the stack */
static __thread int breakDepth = -1;  /* depth of a break inside the flow */

static NO_TRACE int ReadAddresses(const char* list, uintptr_t* addresses) {
    int count = 0;
    for (char* end = NULL; list && *list && count < MAX_ROOTS; list = *end ? end + 1 : end) {
        addresses[count] = (uintptr_t)strtoull(list, &end, 16);
        if (end == list) break;
        ++count;
    }
    return count;
}

static NO_TRACE void ReadSettings(void) {
    rootCount = 0;
    const char* path = getenv("LUMEQ_TRACE_OUT");
    if (!path) return;
    out = fopen(path, "a");
    if (!out) return;
    setvbuf(out, NULL, _IONBF, 0);
    rootCount = ReadAddresses(getenv("LUMEQ_TRACE_ROOTS"), roots);
    breakCount = ReadAddresses(getenv("LUMEQ_TRACE_BREAKS"), breaks);
}

static NO_TRACE int IsIn(uintptr_t fn, const uintptr_t* addresses, int count) {
    for (int i = 0; i < count; ++i)
        if (addresses[i] == fn) return 1;
    return 0;
}

/* Once per function: an open-addressed set, written from one thread at a time in practice. */
static NO_TRACE int FirstSighting(uintptr_t fn) {
    for (size_t slot = (fn >> 4) % SEEN_SLOTS, tries = 0; tries < SEEN_SLOTS; slot = (slot + 1) % SEEN_SLOTS, ++tries) {
        if (seen[slot] == fn) return 0;
        if (seen[slot] == 0) {
            seen[slot] = fn;
            return 1;
        }
    }
    return 0;
}

NO_TRACE void __cyg_profile_func_enter(void* function, void* callSite) {
    (void)callSite;
    if (rootCount < 0) ReadSettings();
    const uintptr_t fn = (uintptr_t)function;
    if (depth < MAX_DEPTH) stack[depth] = fn;
    ++depth;
    if (!out) return;
    if (flowDepth < 0 && IsIn(fn, roots, rootCount)) {
        flowDepth = depth;
        if (!stackedAbove) {
            stackedAbove = 1;
            for (int i = 0; i < depth - 1 && i < MAX_DEPTH; ++i) fprintf(out, "above %llx\n", (unsigned long long)stack[i]);
        }
    }
    if (flowDepth >= 0 && breakDepth < 0 && depth > flowDepth && IsIn(fn, breaks, breakCount)) breakDepth = depth;
    if (flowDepth >= 0 && breakDepth < 0 && FirstSighting(fn)) fprintf(out, "in %llx\n", (unsigned long long)fn);
}

NO_TRACE void __cyg_profile_func_exit(void* function, void* callSite) {
    (void)function;
    (void)callSite;
    if (depth == breakDepth) breakDepth = -1;
    if (depth == flowDepth) flowDepth = -1;
    if (depth > 0) --depth;
}
