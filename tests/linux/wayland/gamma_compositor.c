/* A Wayland compositor for the tests, with no screen: it offers wl_outputs and the
 * wlr-gamma-control manager as wlroots does. Each output has a table size of its own; one
 * client at a time may hold an output's gamma (a second one gets `failed`, as does a client
 * asking for an output that left); a table of another size is a protocol error that ends the
 * client; and the output's own table (the straight line) comes back when the control goes,
 * whether destroyed or with its client.
 *
 *   gamma_compositor SOCKET STATE_DIR NAME:SIZE...
 *
 * What each output shows is kept in STATE_DIR/NAME: three lines (red, green, blue) of
 * numbers. Lines on standard input add and remove outputs while it runs: "add NAME SIZE",
 * "remove NAME", and stand for another client that holds an output or lets it go: "hold NAME",
 * "free NAME". It says "ready" on standard output once clients may connect, and one line for
 * each change ("held NAME", "set NAME", "released NAME", "failed NAME"). */
#define _GNU_SOURCE
#include <errno.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wayland-server.h>

#include "wlr-gamma-control-unstable-v1-server-protocol.h"

#define MAX_OUTPUTS 16

struct output {
    char name[64];
    uint32_t size;
    uint16_t *shown; /* 3 x size */
    struct wl_global *global;
    struct wl_resource *holder; /* the gamma control that holds it */
    int held_elsewhere;         /* another client (standing in) holds it */
};

static struct output outputs[MAX_OUTPUTS];
static const char *state_dir;
static struct wl_display *display;

static void say(const char *what, const struct output *out) {
    printf("%s %s\n", what, out->name);
    fflush(stdout);
}

static void save(const struct output *out) {
    char path[512], temporary[520];
    snprintf(path, sizeof path, "%s/%s", state_dir, out->name);
    snprintf(temporary, sizeof temporary, "%s.new", path);
    FILE *f = fopen(temporary, "w");
    if (!f) return;
    for (int channel = 0; channel < 3; ++channel) {
        for (uint32_t i = 0; i < out->size; ++i)
            fprintf(f, i ? " %u" : "%u", out->shown[channel * out->size + i]);
        fputc('\n', f);
    }
    fclose(f);
    rename(temporary, path);
}

static void own_table(struct output *out) {
    for (int channel = 0; channel < 3; ++channel)
        for (uint32_t i = 0; i < out->size; ++i)
            out->shown[channel * out->size + i] = (uint16_t)(out->size > 1 ? (i * 65535u + (out->size - 1) / 2) / (out->size - 1) : 0);
    save(out);
}

/* ----- gamma controls ----- */

static void control_set_gamma(struct wl_client *client, struct wl_resource *resource, int32_t fd) {
    (void)client;
    struct output *out = wl_resource_get_user_data(resource);
    if (!out || out->holder != resource) {
        close(fd);
        return;
    }
    const size_t bytes = (size_t)out->size * 3 * sizeof(uint16_t);
    struct stat info;
    uint16_t *table = malloc(bytes);
    size_t got = 0;
    if (fstat(fd, &info) == 0 && (size_t)info.st_size == bytes) {
        while (got < bytes) {
            ssize_t n = pread(fd, (char *)table + got, bytes - got, (off_t)got);
            if (n <= 0) break;
            got += (size_t)n;
        }
    }
    close(fd);
    if (got != bytes) {
        free(table);
        wl_resource_post_error(resource, ZWLR_GAMMA_CONTROL_V1_ERROR_INVALID_GAMMA, "the table must be %zu bytes",
                               bytes);
        return;
    }
    memcpy(out->shown, table, bytes);
    free(table);
    save(out);
    say("set", out);
}

static void control_destroy(struct wl_client *client, struct wl_resource *resource) {
    (void)client;
    wl_resource_destroy(resource);
}

static const struct zwlr_gamma_control_v1_interface control_implementation = {
    .set_gamma = control_set_gamma,
    .destroy = control_destroy,
};

static void control_gone(struct wl_resource *resource) {
    struct output *out = wl_resource_get_user_data(resource);
    if (out && out->holder == resource) {
        out->holder = NULL;
        own_table(out);
        say("released", out);
    }
}

static void manager_get_gamma_control(struct wl_client *client, struct wl_resource *manager, uint32_t id,
                                      struct wl_resource *output_resource) {
    struct wl_resource *control = wl_resource_create(client, &zwlr_gamma_control_v1_interface, 1, id);
    if (!control) {
        wl_client_post_no_memory(client);
        return;
    }
    struct output *out = output_resource ? wl_resource_get_user_data(output_resource) : NULL;
    if (!out || !out->global || out->holder || out->held_elsewhere) {
        wl_resource_set_implementation(control, &control_implementation, NULL, NULL);
        zwlr_gamma_control_v1_send_failed(control);
        if (out) say("failed", out);
        return;
    }
    (void)manager;
    wl_resource_set_implementation(control, &control_implementation, out, control_gone);
    out->holder = control;
    zwlr_gamma_control_v1_send_gamma_size(control, out->size);
    say("held", out);
}

static void manager_destroy(struct wl_client *client, struct wl_resource *resource) {
    (void)client;
    wl_resource_destroy(resource);
}

static const struct zwlr_gamma_control_manager_v1_interface manager_implementation = {
    .get_gamma_control = manager_get_gamma_control,
    .destroy = manager_destroy,
};

static void bind_manager(struct wl_client *client, void *data, uint32_t version, uint32_t id) {
    (void)data;
    struct wl_resource *resource = wl_resource_create(client, &zwlr_gamma_control_manager_v1_interface, (int)version, id);
    if (!resource) {
        wl_client_post_no_memory(client);
        return;
    }
    wl_resource_set_implementation(resource, &manager_implementation, NULL, NULL);
}

/* ----- outputs ----- */

static void output_release(struct wl_client *client, struct wl_resource *resource) {
    (void)client;
    wl_resource_destroy(resource);
}

static const struct wl_output_interface output_implementation = {.release = output_release};

static void bind_output(struct wl_client *client, void *data, uint32_t version, uint32_t id) {
    struct output *out = data;
    struct wl_resource *resource = wl_resource_create(client, &wl_output_interface, (int)version, id);
    if (!resource) {
        wl_client_post_no_memory(client);
        return;
    }
    wl_resource_set_implementation(resource, &output_implementation, out, NULL);
    wl_output_send_geometry(resource, 0, 0, 530, 300, WL_OUTPUT_SUBPIXEL_UNKNOWN, "lumeq", out->name,
                            WL_OUTPUT_TRANSFORM_NORMAL);
    wl_output_send_mode(resource, WL_OUTPUT_MODE_CURRENT, 1920, 1080, 60000);
    if (version >= WL_OUTPUT_SCALE_SINCE_VERSION) wl_output_send_scale(resource, 1);
    if (version >= WL_OUTPUT_NAME_SINCE_VERSION) wl_output_send_name(resource, out->name);
    if (version >= WL_OUTPUT_DESCRIPTION_SINCE_VERSION) wl_output_send_description(resource, out->name);
    if (version >= WL_OUTPUT_DONE_SINCE_VERSION) wl_output_send_done(resource);
}

static int add_output(const char *name, uint32_t size) {
    for (int i = 0; i < MAX_OUTPUTS; ++i) {
        struct output *out = &outputs[i];
        if (out->global) continue;
        free(out->shown);
        memset(out, 0, sizeof *out);
        snprintf(out->name, sizeof out->name, "%s", name);
        out->size = size;
        out->shown = calloc((size_t)size * 3, sizeof(uint16_t));
        own_table(out);
        out->global = wl_global_create(display, &wl_output_interface, 4, out, bind_output);
        return 0;
    }
    return -1;
}

static void remove_output(const char *name) {
    for (int i = 0; i < MAX_OUTPUTS; ++i) {
        struct output *out = &outputs[i];
        if (!out->global || strcmp(out->name, name) != 0) continue;
        if (out->holder) {
            zwlr_gamma_control_v1_send_failed(out->holder);
            wl_resource_set_user_data(out->holder, NULL);
            out->holder = NULL;
        }
        wl_global_destroy(out->global);
        out->global = NULL;
        say("removed", out);
    }
}

static int on_stdin(int fd, uint32_t mask, void *data) {
    (void)mask;
    (void)data;
    static char buffer[4096];
    static size_t used;
    ssize_t n = read(fd, buffer + used, sizeof buffer - used - 1);
    if (n <= 0) {
        wl_display_terminate(display);
        return 0;
    }
    used += (size_t)n;
    buffer[used] = '\0';
    char *line = buffer, *end;
    while ((end = strchr(line, '\n'))) {
        *end = '\0';
        char name[64];
        unsigned size;
        if (sscanf(line, "add %63s %u", name, &size) == 2) {
            add_output(name, size);
            printf("added %s\n", name);
            fflush(stdout);
        } else if (sscanf(line, "remove %63s", name) == 1) {
            remove_output(name);
        } else if (sscanf(line, "hold %63s", name) == 1 || sscanf(line, "free %63s", name) == 1) {
            for (int i = 0; i < MAX_OUTPUTS; ++i)
                if (outputs[i].global && strcmp(outputs[i].name, name) == 0) outputs[i].held_elsewhere = line[0] == 'h';
            printf("%s %s\n", line[0] == 'h' ? "holding" : "freed", name);
            fflush(stdout);
        }
        line = end + 1;
    }
    used = strlen(line);
    memmove(buffer, line, used);
    return 0;
}

int main(int argc, char **argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: %s SOCKET STATE_DIR NAME:SIZE...\n", argv[0]);
        return 2;
    }
    state_dir = argv[2];
    display = wl_display_create();
    if (!display || wl_display_add_socket(display, argv[1]) != 0) {
        fprintf(stderr, "gamma_compositor: cannot listen on %s: %s\n", argv[1], strerror(errno));
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        char name[64];
        unsigned size;
        if (sscanf(argv[i], "%63[^:]:%u", name, &size) != 2 || add_output(name, size) != 0) return 2;
    }
    wl_global_create(display, &zwlr_gamma_control_manager_v1_interface, 1, NULL, bind_manager);
    wl_event_loop_add_fd(wl_display_get_event_loop(display), STDIN_FILENO, WL_EVENT_READABLE, on_stdin, NULL);
    printf("ready\n");
    fflush(stdout);
    wl_display_run(display);
    wl_display_destroy(display);
    return 0;
}
