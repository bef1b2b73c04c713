// The stand-in's register windows: pages that nothing may touch, so that
// every load or store the desk makes there faults, and a vectored exception
// handler that carries the access out on the card behind the window and
// steps over the instruction.
#pragma once

#include <cstdint>

#include "card/register_space.h"

// A page of its own for `card`, whose address goes into the card's block;
// 0 when none can be had. The card must live as long as the program.
uint32_t OpenRegisterWindow(RegisterSpace* card);

// What the trap does when it meets an access it does not handle.
void SetTrapFailure(void (*fail)(const char* what));
