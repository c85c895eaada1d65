// The id of a process that has ended, for files named after their writer's
// process: a child that exits at once and is reaped.
#pragma once

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

inline pid_t EndedProcessId() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}
