// Linked into every program of the AddressSanitizer build (scripts/sanitize.sh). Qt WebEngine's
// library (Chromium inside) deletes an object with the size of a wrong type, in
// ~WebContentsAdapter; AddressSanitizer reports that as new-delete-type-mismatch, and its
// suppression files cannot silence that kind of report. So at start-up this turns the sized
// deletes that that one library calls into unsized ones, by rewriting the library's own
// relocation slots for them. Every other library and all of the project's code keep the check.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <elf.h>
#include <link.h>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr const char* kLibrary = "/libQt6WebEngineCore.so";

void UnsizedDelete(void* pointer, std::size_t) noexcept {
    ::operator delete(pointer);
}

void UnsizedAlignedDelete(void* pointer, std::size_t, std::align_val_t alignment) noexcept {
    ::operator delete(pointer, alignment);
}

void* ReplacementFor(const char* name) {
    if (std::strcmp(name, "_ZdlPvm") == 0) { // operator delete(void*, std::size_t)
        return reinterpret_cast<void*>(&UnsizedDelete);
    }
    if (std::strcmp(name, "_ZdlPvmSt11align_val_t") == 0) { // ... with std::align_val_t
        return reinterpret_cast<void*>(&UnsizedAlignedDelete);
    }
    return nullptr;
}

struct Image {
    ElfW(Addr) base = 0;
    const ElfW(Sym) * symbols = nullptr;
    const char* names = nullptr;
    ElfW(Addr) relroBegin = 0; // the part made read-only after relocation
    ElfW(Addr) relroEnd = 0;
};

// Dynamic entries hold addresses already moved by the loader on this platform; an entry below
// the load address is still an offset.
ElfW(Addr) Address(const Image& image, ElfW(Addr) value) {
    return value < image.base ? value + image.base : value;
}

void Rewrite(const Image& image, const ElfW(Rela) * relocations, std::size_t bytes) {
    const long page = ::sysconf(_SC_PAGESIZE);
    for (std::size_t i = 0; i < bytes / sizeof(ElfW(Rela)); ++i) {
        const ElfW(Rela)& relocation = relocations[i];
        const auto type = ELF64_R_TYPE(relocation.r_info);
        if (type != R_X86_64_JUMP_SLOT && type != R_X86_64_GLOB_DAT) {
            continue;
        }
        void* replacement =
            ReplacementFor(image.names + image.symbols[ELF64_R_SYM(relocation.r_info)].st_name);
        if (replacement == nullptr) {
            continue;
        }
        const ElfW(Addr) slot = image.base + relocation.r_offset;
        const bool readOnly = slot >= image.relroBegin && slot < image.relroEnd;
        void* const pageStart = reinterpret_cast<void*>(slot & ~static_cast<ElfW(Addr)>(page - 1));
        if (readOnly && ::mprotect(pageStart, page, PROT_READ | PROT_WRITE) != 0) {
            continue;
        }
        *reinterpret_cast<void**>(slot) = replacement;
        if (readOnly) {
            ::mprotect(pageStart, page, PROT_READ);
        }
    }
}

int VisitLibrary(dl_phdr_info* info, std::size_t, void*) {
    if (info->dlpi_name == nullptr || std::strstr(info->dlpi_name, kLibrary) == nullptr) {
        return 0;
    }
    Image image;
    image.base = info->dlpi_addr;
    const ElfW(Dyn)* dynamic = nullptr;
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& header = info->dlpi_phdr[i];
        if (header.p_type == PT_DYNAMIC) {
            dynamic = reinterpret_cast<const ElfW(Dyn)*>(image.base + header.p_vaddr);
        } else if (header.p_type == PT_GNU_RELRO) {
            image.relroBegin = image.base + header.p_vaddr;
            image.relroEnd = image.relroBegin + header.p_memsz;
        }
    }
    if (dynamic == nullptr) {
        return 1;
    }
    const ElfW(Rela)* plt = nullptr;
    std::size_t pltBytes = 0;
    const ElfW(Rela)* data = nullptr;
    std::size_t dataBytes = 0;
    for (const ElfW(Dyn)* entry = dynamic; entry->d_tag != DT_NULL; ++entry) {
        switch (entry->d_tag) {
        case DT_SYMTAB:
            image.symbols = reinterpret_cast<const ElfW(Sym)*>(Address(image, entry->d_un.d_ptr));
            break;
        case DT_STRTAB:
            image.names = reinterpret_cast<const char*>(Address(image, entry->d_un.d_ptr));
            break;
        case DT_JMPREL:
            plt = reinterpret_cast<const ElfW(Rela)*>(Address(image, entry->d_un.d_ptr));
            break;
        case DT_PLTRELSZ:
            pltBytes = entry->d_un.d_val;
            break;
        case DT_RELA:
            data = reinterpret_cast<const ElfW(Rela)*>(Address(image, entry->d_un.d_ptr));
            break;
        case DT_RELASZ:
            dataBytes = entry->d_un.d_val;
            break;
        default:
            break;
        }
    }
    if (image.symbols != nullptr && image.names != nullptr) {
        if (plt != nullptr) {
            Rewrite(image, plt, pltBytes);
        }
        if (data != nullptr) {
            Rewrite(image, data, dataBytes);
        }
    }
    return 1;
}

// Runs after the loader has bound every library the program links, before main.
__attribute__((constructor)) void UnsizeWebEngineDeletes() {
    dl_iterate_phdr(VisitLibrary, nullptr);
}

} // namespace
