#include "System/CaptivePortalProbeFetcherError.h"

const char* CaptivePortalProbeFetcherError::what() const noexcept {
    return "the probe page did not answer over HTTP";
}
