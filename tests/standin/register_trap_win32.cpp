#include "register_trap_win32.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "card/card_types.h"

namespace {

// One page: the registers the desk uses lie below 0x120, so even an offset
// taken four times too large still lands here and reaches the card, whose
// trace then shows it.
constexpr uint32_t kWindowBytes = 4096;

struct Window {
    uint32_t base;
    RegisterSpace* card;
};
Window windows[kMaxCards];
int windowCount = 0;
void (*failRun)(const char* what) = nullptr;

// ModRM's reg field names these, in this order.
DWORD CONTEXT::*const kRegisters[8] = {&CONTEXT::Eax, &CONTEXT::Ecx, &CONTEXT::Edx, &CONTEXT::Ebx,
                                       &CONTEXT::Esp, &CONTEXT::Ebp, &CONTEXT::Esi, &CONTEXT::Edi};

// One decoded access: a plain aligned 32-bit load or store, the only kind the
// desk may make on a card's registers.
struct Access {
    bool write;
    int length;              // of the whole instruction, to step over it
    DWORD CONTEXT::*reg;     // the register loaded or stored; null for an immediate
    uint32_t immediate = 0;  // the value a store of a constant writes
};

// Bytes of ModRM, SIB and displacement from `modrm` on; 0 when the operand
// is a register, which cannot have touched memory.
int OperandLength(const uint8_t* modrm) {
    const int mod = modrm[0] >> 6;
    const int rm = modrm[0] & 7;
    if (mod == 3) return 0;
    int length = 1;
    if (rm == 4) {
        ++length;
        if (mod == 0 && (modrm[1] & 7) == 5) length += 4;
    } else if (mod == 0 && rm == 5) {
        length += 4;
    }
    if (mod == 1) length += 1;
    if (mod == 2) length += 4;
    return length;
}

// Only the forms a compiler gives a volatile 32-bit access; any other
// (an operand-size prefix, a byte access, a read-modify-write) is refused
// rather than guessed at.
bool Decode(const uint8_t* code, Access* access) {
    const int operand = (code[0] == 0x8B || code[0] == 0x89 || code[0] == 0xC7) ? OperandLength(code + 1) : 0;
    switch (code[0]) {
    case 0x8B:  // mov r32, [mem]
    case 0x89:  // mov [mem], r32
        if (operand == 0) return false;
        *access = {code[0] == 0x89, 1 + operand, kRegisters[(code[1] >> 3) & 7]};
        return true;
    case 0xC7:  // mov dword [mem], imm32
        if (operand == 0 || ((code[1] >> 3) & 7) != 0) return false;
        *access = {true, 1 + operand + 4, nullptr};
        std::memcpy(&access->immediate, code + 1 + operand, 4);
        return true;
    case 0xA1:  // mov eax, [moffs32]
    case 0xA3:  // mov [moffs32], eax
        *access = {code[0] == 0xA3, 5, &CONTEXT::Eax};
        return true;
    default: return false;
    }
}

const Window* WindowAt(uint32_t address) {
    for (int i = 0; i < windowCount; ++i)
        if (address - windows[i].base < kWindowBytes) return &windows[i];
    return nullptr;
}

void Refuse(const uint8_t* code, uint32_t address, const char* why) {
    char bytes[40] = "(in the window itself)";
    if (WindowAt(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(code))) == nullptr)
        std::snprintf(bytes, sizeof bytes, "%02x %02x %02x %02x %02x %02x %02x %02x", code[0], code[1], code[2],
                      code[3], code[4], code[5], code[6], code[7]);
    char what[240];
    std::snprintf(what, sizeof what, "0x%08x of a register window touched by the instruction %s at 0x%08lx: %s",
                  static_cast<unsigned>(address), bytes, static_cast<unsigned long>(reinterpret_cast<uintptr_t>(code)),
                  why);
    failRun(what);
}

// Why the access cannot be carried out, or null when `access` holds it.
const char* Check(const EXCEPTION_RECORD* record, const CONTEXT* context, uint32_t offset, Access* access) {
    const ULONG_PTR kind = record->ExceptionInformation[0];  // 0 read, 1 write, 8 execute
    if (kind > 1) return "it runs code there";
    if (!Decode(reinterpret_cast<const uint8_t*>(static_cast<uintptr_t>(context->Eip)), access))
        return "not a plain 32-bit load or store that the stand-in decodes";
    if (access->write != (kind == 1)) return "decoded as a load where the processor stored, or the other way round";
    if (offset % 4 != 0) return "not at a multiple of 4";
    return nullptr;
}

LONG CALLBACK OnFault(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
    if (record->ExceptionCode != EXCEPTION_ACCESS_VIOLATION || record->NumberParameters < 2)
        return EXCEPTION_CONTINUE_SEARCH;
    const uint32_t address = static_cast<uint32_t>(record->ExceptionInformation[1]);
    const Window* window = WindowAt(address);
    if (window == nullptr) return EXCEPTION_CONTINUE_SEARCH;
    CONTEXT* context = pointers->ContextRecord;
    const uint32_t offset = address - window->base;
    Access access;
    if (const char* why = Check(record, context, offset, &access)) {
        Refuse(reinterpret_cast<const uint8_t*>(static_cast<uintptr_t>(context->Eip)), address, why);
        return EXCEPTION_CONTINUE_SEARCH;
    }
    if (access.write)
        window->card->Write(offset, access.reg != nullptr ? context->*access.reg : access.immediate);
    else
        context->*access.reg = window->card->Read(offset);
    context->Eip += access.length;
    return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

uint32_t OpenRegisterWindow(RegisterSpace* card) {
    if (windowCount == kMaxCards) return 0;
    void* page = VirtualAlloc(nullptr, kWindowBytes, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS);
    if (page == nullptr) return 0;
    if (windowCount == 0) AddVectoredExceptionHandler(1, OnFault);
    windows[windowCount++] = {static_cast<uint32_t>(reinterpret_cast<uintptr_t>(page)), card};
    return windows[windowCount - 1].base;
}

void SetTrapFailure(void (*fail)(const char* what)) { failRun = fail; }
