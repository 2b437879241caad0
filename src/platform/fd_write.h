// Writing a whole buffer to a file descriptor.
#pragma once

#include <QtGlobal>

// Writes all `size` bytes to `fd`, again after interruptions; false with errno
// set on failure (ENOSPC when the disk takes no more).
bool WriteAllBytes(int fd, const char *data, qint64 size);
