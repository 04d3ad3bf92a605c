#pragma once

#include "record/inputs.h"

#include <QCborArray>
#include <QCborValue>

// One input as CBOR, in the one layout the record file and the network's
// messages share: [kind, turn, step, ms, fields...].
QCborArray InputToCbor(const Input& input);
// False when the value is not an input of a known kind with all its fields.
bool InputFromCbor(const QCborValue& value, Input* input);
