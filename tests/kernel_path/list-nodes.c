// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

/* list-nodes: the hidraw nodes udev knows, with their HID parent's ids and name, as the VM sees
 * them; a diagnostic for the kernel-path check, built there with the host's libudev-dev. Every
 * value libudev may not give (a node leaving as it is listed) is printed as "-". */
#include <libudev.h>
#include <stdio.h>

static const char* or_dash(const char* text) { return text != NULL ? text : "-"; }

int main(void) {
    struct udev* udev = udev_new();
    if (udev == NULL) {
        fprintf(stderr, "list-nodes: udev_new failed\n");
        return 1;
    }
    struct udev_enumerate* listing = udev_enumerate_new(udev);
    if (listing == NULL || udev_enumerate_add_match_subsystem(listing, "hidraw") < 0 ||
        udev_enumerate_scan_devices(listing) < 0) {
        fprintf(stderr, "list-nodes: cannot list the hidraw nodes\n");
        return 1;
    }
    int n = 0;
    struct udev_list_entry* entry;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(listing)) {
        struct udev_device* node = udev_device_new_from_syspath(udev, udev_list_entry_get_name(entry));
        if (node == NULL)
            continue;
        struct udev_device* hid = udev_device_get_parent_with_subsystem_devtype(node, "hid", NULL);
        printf("%d %s HID_ID=%s HID_NAME=%s\n", n++, or_dash(udev_device_get_devnode(node)),
               or_dash(hid != NULL ? udev_device_get_property_value(hid, "HID_ID") : NULL),
               or_dash(hid != NULL ? udev_device_get_property_value(hid, "HID_NAME") : NULL));
        udev_device_unref(node);
    }
    printf("list-nodes: %d nodes\n", n);
    udev_enumerate_unref(listing);
    udev_unref(udev);
    return 0;
}
