#pragma once

#include "serve/HttpApi.h"

// The tablet remote page at / (serve/page: index.html, remote.css,
// remote.js), compiled into the program as Qt resources and served as they
// are: no build step, nothing fetched from elsewhere. The page speaks to the
// service through the public API and its event stream only, so it is served
// to anyone who asks; the API behind it keeps its access rule.
namespace RemotePage
{
// The page handler for CHttpApi::SetPageHandler: answers GET and HEAD of the
// page's files, and leaves every other path to the API (false).
CHttpApi::PageHandler Handler();
}
