/* A stand-in module for the loader tests. */
#include <stdint.h>

#include "platform/ResourceDirectory.h"

#define EXPORT __attribute__((visibility("default")))

EXPORT int32_t TestAnswer(void) { return 42; }

static const unsigned char iconData[] = {0, 0, 1, 0, 1, 0};
static const char plimoData[] = "blob 200";

static const struct ResourceEntry entries[] = {
    {"PLIMO", 200, plimoData, sizeof plimoData},
    {"ICON", 10000, iconData, sizeof iconData},
    {"BITMAP", 10000, plimoData, 4}, /* same id, other type */
};

EXPORT const struct ResourceDirectory PlimoResourceDirectory = {3, entries};
