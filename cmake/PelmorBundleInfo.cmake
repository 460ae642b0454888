# Generates the bundle information header: the values the application reads as
# its bundle keys. The source revision, the build number and the release date
# come from git when the tree is a checkout; the build tree is configured anew
# whenever a commit moves HEAD, so they stay current.

set(PELMOR_BUILD_NUMBER "" CACHE STRING
  "Integer build number (default: the number of commits reachable from HEAD, else 1)")
set(PELMOR_UPDATE_API_URL "" CACHE STRING "Update endpoint given to the bundle (empty: absent)")
set(PELMOR_UPDATE_DOWNLOAD_BASE_URL "" CACHE STRING
  "Download base URL given to the bundle (empty: absent)")

find_package(Git QUIET)

function(pelmor_git_output variable)
  set(${variable} "" PARENT_SCOPE)
  if(NOT GIT_FOUND)
    return()
  endif()
  execute_process(COMMAND "${GIT_EXECUTABLE}" ${ARGN}
    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
    OUTPUT_VARIABLE output ERROR_QUIET RESULT_VARIABLE result OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(result EQUAL 0)
    set(${variable} "${output}" PARENT_SCOPE)
  endif()
endfunction()

# A value as the body of a C++ string literal.
function(pelmor_string_literal_body variable value)
  string(REPLACE "\\" "\\\\" value "${value}")
  string(REPLACE "\"" "\\\"" value "${value}")
  string(REPLACE "\n" "\\n" value "${value}")
  set(${variable} "${value}" PARENT_SCOPE)
endfunction()

function(pelmor_generate_bundle_info output)
  pelmor_git_output(build_id rev-parse --short HEAD)
  if(build_id STREQUAL "")
    set(build_id "unknown")
  endif()

  set(build_number "${PELMOR_BUILD_NUMBER}")
  if(build_number STREQUAL "")
    pelmor_git_output(build_number rev-list --count HEAD)
  endif()
  if(NOT build_number MATCHES "^[0-9]+$")
    set(build_number 1)
  endif()

  # The committer date of HEAD, as a calendar date (YYYY-MM-DD).
  pelmor_git_output(release_date log -1 --format=%cs)
  if(NOT release_date MATCHES "^[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]$")
    string(TIMESTAMP release_date "%Y-%m-%d" UTC)
  endif()

  pelmor_git_output(head_log rev-parse --path-format=absolute --git-path logs/HEAD)
  if(head_log AND EXISTS "${head_log}")
    set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
      "${head_log}")
  endif()

  pelmor_string_literal_body(PELMOR_BUNDLE_SHORT_VERSION "${PROJECT_VERSION}")
  pelmor_string_literal_body(PELMOR_BUNDLE_VERSION "${build_number}")
  pelmor_string_literal_body(PELMOR_BUNDLE_BUILD_ID "${build_id}")
  pelmor_string_literal_body(PELMOR_BUNDLE_RELEASE_DATE "${release_date}")
  pelmor_string_literal_body(PELMOR_BUNDLE_UPDATE_API_URL "${PELMOR_UPDATE_API_URL}")
  pelmor_string_literal_body(PELMOR_BUNDLE_UPDATE_DOWNLOAD_BASE_URL
    "${PELMOR_UPDATE_DOWNLOAD_BASE_URL}")
  configure_file("${PROJECT_SOURCE_DIR}/src/Platform/Bundle/MainBundleValues.h.in" "${output}"
    @ONLY)
endfunction()
