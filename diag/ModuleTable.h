// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

// One object mapped into the process: the span of its mappings and of its executable ones,
// and its path.
struct LoadedModule {
    std::uintptr_t start, end;
    std::uintptr_t codeStart, codeEnd;
    const char* path;
};

// The modules mapped into the process, read from /proc/self/maps with open() and read() into
// fixed storage, so the crash handler can take the list and look addresses up without
// allocating and without the dynamic loader's lock: a fault while another thread holds it
// (inside dlopen, or in the unwinder) still gets its report.
class ModuleTable {
public:
    static constexpr std::size_t capacity = 512;
    static constexpr std::size_t pathStorage = 64 * 1024;
    static constexpr std::size_t lineCapacity = 4096 + 128;

    // Takes the current list. The program itself is named `programPath`, which must outlive
    // the table.
    void capture(const char* programPath);
    // The path of the module that holds `address`, or "" when none does.
    const char* pathOf(std::uintptr_t address) const;
    // True when `address` lies in an executable mapping of a module.
    bool isCode(std::uintptr_t address) const;
    std::size_t size() const { return count; }

private:
    void addMapping(const char* line, std::size_t length);
    const char* keepPath(const char* path, std::size_t length);

    LoadedModule modules[capacity];
    std::size_t count = 0;
    char paths[pathStorage];
    std::size_t pathsUsed = 0;
    char programFile[lineCapacity];
    const char* programPath = "";
};
