#pragma once
// Behaviour flags of dialog agents and state commands (64-bit values). The
// meaning of each bit is described in docs/commands-and-dialogs.md.
#include <cstdint>

using KivAgentBehavior = std::uint64_t;

// Agents: user picks of objects of the agent's element type value it.
inline constexpr KivAgentBehavior KivAgentPick = 0x000800;
// Agents: one value at a time, a new pick replaces the value.
inline constexpr KivAgentBehavior KivAgentSingleValue = 0x800000;
// Agents: values accumulate (a second pick of a held element takes it back)
// and, for a client of the current selection, the selection values the agent
// at once when its command starts. Wins over KivAgentSingleValue.
inline constexpr KivAgentBehavior KivAgentMultiValue = 0x040000;

// The two agent behaviours the commands ask for.
// One pick at a time, each handled before the next (0x800800).
inline constexpr KivAgentBehavior KivAgentPickOne = KivAgentPick | KivAgentSingleValue;
// Repeated picking in one agent, valued at once from the current selection
// (0x840800).
inline constexpr KivAgentBehavior KivAgentPickMany = KivAgentPickOne | KivAgentMultiValue;

// State commands: exclusive; starting it cancels the running command. A
// command without it suspends the running command, which resumes when the
// new one ends.
inline constexpr KivAgentBehavior KivCommandExclusive = 0x40;
