#include "ModuleTable.h"

#include <link.h>

namespace {

constexpr std::uintptr_t noAddress = ~std::uintptr_t{0};

void widen(std::uintptr_t& start, std::uintptr_t& end, std::uintptr_t from, std::uintptr_t to) {
    if (from < start)
        start = from;
    if (to > end)
        end = to;
}

} // namespace

int ModuleTable::addModule(dl_phdr_info* info, std::size_t, void* table) {
    auto* self = static_cast<ModuleTable*>(table);
    if (self->count == capacity)
        return 1;
    LoadedModule module{noAddress, 0, noAddress, 0, info->dlpi_name};
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD)
            continue;
        const std::uintptr_t from = info->dlpi_addr + segment.p_vaddr;
        const std::uintptr_t to = from + segment.p_memsz;
        widen(module.start, module.end, from, to);
        if (segment.p_flags & PF_X)
            widen(module.codeStart, module.codeEnd, from, to);
    }
    if (module.path == nullptr || (self->count == 0 && module.path[0] == '\0'))
        module.path = self->programPath;
    if (module.start < module.end)
        self->modules[self->count++] = module;
    return 0;
}

void ModuleTable::capture(const char* program) {
    programPath = program;
    count = 0;
    dl_iterate_phdr(addModule, this);
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
