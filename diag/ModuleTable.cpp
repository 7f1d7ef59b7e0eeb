// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModuleTable.h"

#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::uintptr_t noAddress = ~std::uintptr_t{0};
constexpr std::size_t chunkSize = 4096;

void widen(std::uintptr_t& start, std::uintptr_t& end, std::uintptr_t from, std::uintptr_t to) {
    if (from < start)
        start = from;
    if (to > end)
        end = to;
}

// Reads a hexadecimal number at `at`, moving `at` past it.
std::uintptr_t hexAt(const char*& at, const char* end) {
    std::uintptr_t value = 0;
    for (; at < end; ++at) {
        const char c = *at;
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0)
            break;
        value = value * 16 + static_cast<std::uintptr_t>(digit);
    }
    return value;
}

bool samePath(const char* kept, const char* path, std::size_t length) {
    return std::strncmp(kept, path, length) == 0 && kept[length] == '\0';
}

} // namespace

// "start-end perms offset dev inode   path": only mappings of a file (or the vDSO) count.
void ModuleTable::addMapping(const char* line, std::size_t length) {
    const char* at = line;
    const char* end = line + length;
    const std::uintptr_t from = hexAt(at, end);
    if (at == end || *at++ != '-')
        return;
    const std::uintptr_t to = hexAt(at, end);
    const bool executable = end - at > 4 && at[3] == 'x';
    const char* path = static_cast<const char*>(std::memchr(at, '/', end - at));
    if (path == nullptr) {
        path = static_cast<const char*>(std::memchr(at, '[', end - at));
        if (path == nullptr || std::strncmp(path, "[vdso]", end - path) != 0)
            return;
    }
    const std::size_t pathLength = static_cast<std::size_t>(end - path);
    LoadedModule* module = count > 0 ? &modules[count - 1] : nullptr;
    const bool sameModule =
        module != nullptr &&
        (samePath(module->path, path, pathLength) ||
         (module->path == programPath && samePath(programFile, path, pathLength)));
    if (!sameModule) {
        if (count == capacity)
            return;
        const bool isProgram = samePath(programFile, path, pathLength);
        const char* name = isProgram ? programPath : keepPath(path, pathLength);
        if (name == nullptr)
            return;
        module = &modules[count++];
        *module = LoadedModule{noAddress, 0, noAddress, 0, name};
    }
    widen(module->start, module->end, from, to);
    if (executable)
        widen(module->codeStart, module->codeEnd, from, to);
}

const char* ModuleTable::keepPath(const char* path, std::size_t length) {
    if (pathsUsed + length + 1 > pathStorage)
        return nullptr;
    char* kept = paths + pathsUsed;
    std::memcpy(kept, path, length);
    kept[length] = '\0';
    pathsUsed += length + 1;
    return kept;
}

void ModuleTable::capture(const char* program) {
    programPath = program;
    count = 0;
    pathsUsed = 0;
    const ssize_t named = readlink("/proc/self/exe", programFile, sizeof programFile - 1);
    programFile[named > 0 ? named : 0] = '\0';
    const int fd = open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    static char line[lineCapacity];
    std::size_t filled = 0;
    char chunk[chunkSize];
    for (ssize_t got; (got = read(fd, chunk, sizeof chunk)) > 0;) {
        for (ssize_t i = 0; i < got; ++i) {
            if (chunk[i] == '\n') {
                addMapping(line, filled);
                filled = 0;
            } else if (filled < lineCapacity) {
                line[filled++] = chunk[i];
            }
        }
    }
    close(fd);
}

const char* ModuleTable::pathOf(std::uintptr_t address) const {
    for (std::size_t i = 0; i < count; ++i) {
        if (address - modules[i].start < modules[i].end - modules[i].start)
            return modules[i].path;
    }
    return "";
}

bool ModuleTable::isCode(std::uintptr_t address) const {
    for (std::size_t i = 0; i < count; ++i) {
        if (address >= modules[i].codeStart && address < modules[i].codeEnd)
            return true;
    }
    return false;
}
