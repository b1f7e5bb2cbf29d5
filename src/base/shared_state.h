#pragma once
// The few flags and selections that several subsystems read and write. One
// instance lives in ScopeApp and is handed to the subsystems by reference;
// loops and handlers meet only through these flags.
#include <cstdint>

namespace trivolux {

enum class Memory : int { Ram = 1, Eeprom = 2, File = 3 };

struct SharedState {
  std::uint16_t RunFlag = 0;          // 1 while GO, a recorder or a capture loop runs
  std::uint16_t ScanActive = 0;       // 1 while the scope waits for its result frames
  std::uint16_t SensorConnected = 0;  // 1 while an identified sensor is connected
  std::uint16_t TcpConnected = 0;
  std::uint16_t SendPending = 0;      // SEND pressed during GO: served by the GO loop
  std::uint16_t GetPending = 0;       // GET pressed during GO
  Memory MemorySelection = Memory::Ram;
  int ParaSet = 0;                    // 0 or 1
  bool TeachToleranceOn = true;
  bool QuitRequested = false;         // the main window was closed: every wait ends
};

}  // namespace trivolux
