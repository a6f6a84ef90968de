#pragma once

#include <QJsonObject>

class CAudio_Data;
class CLockState;
class CProgramBank;

// A program file for machines: every value the file puts into the records
// (the fields their visitors tag RecordField::kFile), as the records hold
// it, under the names the visitors give the fields.
// Texts are the stored bytes, one character per byte.
//
//   program file: {"kind": "program", "name", "functionLocks": [32],
//                  "inputs": [4 inputs], "outputs": [8 outputs]}
//   bank file:    {"kind": "bank", "programs": [30 x {"program": 1..30,
//                  "name", "lockBytes": [12], "image": hex of 1472 bytes,
//                  "inputs", "outputs"}]}
//
// A bank slot's channels are what its image loads into a record, with the
// noise-gate threshold ("gate"), which single-program files do not hold.
namespace ProgramJson
{
QJsonObject Program(const CAudio_Data& program, const CLockState& locks);
// nOnly 1..30 keeps that program alone in "programs"; 0 keeps all thirty.
QJsonObject Bank(const CProgramBank& bank, int nOnly = 0);
}
