#pragma once

#include <cstddef>
#include <cstdint>

// One object loaded into the process: the span of its loaded segments and of its executable
// ones, and its path.
struct LoadedModule {
    std::uintptr_t start, end;
    std::uintptr_t codeStart, codeEnd;
    const char* path;
};

// The loaded modules as the dynamic loader lists them, copied into fixed storage so the
// crash handler can look addresses up without allocating.
class ModuleTable {
public:
    static constexpr std::size_t capacity = 512;

    // Takes the loader's current list. The loader leaves the program itself unnamed; it is
    // given `programPath`, which must outlive the table.
    void capture(const char* programPath);
    // The path of the module that holds `address`, or "" when none does.
    const char* pathOf(std::uintptr_t address) const;
    // True when `address` lies in an executable segment of a loaded module.
    bool isCode(std::uintptr_t address) const;
    std::size_t size() const { return count; }

private:
    static int addModule(struct dl_phdr_info* info, std::size_t, void* table);

    LoadedModule modules[capacity];
    std::size_t count = 0;
    const char* programPath = "";
};
