#pragma once

#include "vproc/ProcessorState.h"

#include <span>
#include <string>
#include <vector>

// A virtual processor's state on disk, as text so it can be read and
// edited by hand. One item per line, bytes in hexadecimal:
//
//   orvan-vproc-state 1
//   device-id 1
//   device-type 6
//   backlight 1
//   power-on 1
//   generator 0002140058020000            8 bytes
//   info 5649525455414C...                255 bytes
//   lock 0 000000000000202020202020       12 bytes, numbers 0..31
//   name 5 414243000000000000000000       12 bytes, programs 0..30
//   image 0 ...                           1472 bytes, programs 0..30
//
// A line of several processors is kept in format 2: each processor in a
// section that starts with its device ID and holds the other items as above.
//
//   orvan-vproc-state 2
//   processor 1
//   device-type 6
//   ...
//   processor 5
//   ...
//
// Items missing from a file keep their factory values; an unknown item, a
// number out of range, a wrong byte count or a device ID given twice makes
// the whole file invalid.
class CStateFile
{
public:
    // The one processor of a file, its missing items as in state. False with
    // a message in strError when the file cannot be read, is not a state
    // file or holds a line of several; the state is then left as it was.
    static bool Load(const std::string& strPath, CProcessorState& state, std::string& strError);
    // Every processor of a file of either format, in file order; false with
    // a message in strError, states then left as they were.
    static bool LoadLine(const std::string& strPath, std::vector<CProcessorState>& states, std::string& strError);
    // Writes the file whole or not at all (AtomicFile), so a crash or a full
    // disk never leaves half a state behind; false with the reason in
    // strError.
    static bool Save(const std::string& strPath, const CProcessorState& state, std::string& strError);
    // One processor in format 1, as Save; more in format 2.
    static bool SaveLine(const std::string& strPath, std::span<const CProcessorState> states, std::string& strError);
};
