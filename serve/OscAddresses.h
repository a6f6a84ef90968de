#pragma once

#include <QStringList>

// The OSC service's addresses for `orvan-server --osc-addresses`.
namespace OscAddresses
{
// Every address the service answers to, with its arguments and range, one
// line each, written from the catalogue.
QStringList List(int nDeviceId);
}
