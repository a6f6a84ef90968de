#pragma once

#include <QJsonObject>

// The API's OpenAPI 3 description, served at /api/v1/openapi.json. The
// parameter paths, their ranges in steps and display units, their choices
// and their captions are written from the catalogue rows and the names of
// ParamAddresses, so a parameter added there is described here without a
// line of its own.
namespace OpenApi
{
QJsonObject Document();
}
