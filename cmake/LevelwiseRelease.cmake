# What follows from the release's version and date (set at the top of CMakeLists.txt).

# The version as the program shows it: the major number, then the minor in two digits (1.00).
if(PROJECT_VERSION_MINOR GREATER 99)
    message(FATAL_ERROR "the minor version ${PROJECT_VERSION_MINOR} does not fit two digits")
endif()
if(PROJECT_VERSION_MINOR LESS 10)
    set(LEVELWISE_DISPLAY_VERSION ${PROJECT_VERSION_MAJOR}.0${PROJECT_VERSION_MINOR})
else()
    set(LEVELWISE_DISPLAY_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
endif()

# The release day at noon UTC, in seconds since 1970: the time stamped into files (signatures,
# the MSI, archives) when the build is given no SOURCE_DATE_EPOCH of its own. Noon keeps the
# same day in every time zone. Days from the civil date, as in Howard Hinnant's algorithm.
if(NOT LEVELWISE_RELEASE_DATE MATCHES "^([0-9][0-9][0-9][0-9])-([01][0-9])-([0-3][0-9])$")
    message(FATAL_ERROR "the release date '${LEVELWISE_RELEASE_DATE}' is not YYYY-MM-DD")
endif()
math(EXPR year "${CMAKE_MATCH_1}")
math(EXPR month "1${CMAKE_MATCH_2} - 100")
math(EXPR day "1${CMAKE_MATCH_3} - 100")
if(month LESS_EQUAL 2)
    math(EXPR year "${year} - 1")
endif()
math(EXPR era "${year} / 400")
math(EXPR year_of_era "${year} - ${era} * 400")
math(EXPR shifted_month "(${month} + 9) % 12")
math(EXPR day_of_year "(153 * ${shifted_month} + 2) / 5 + ${day} - 1")
math(EXPR day_of_era "${year_of_era} * 365 + ${year_of_era} / 4 - ${year_of_era} / 100 + ${day_of_year}")
math(EXPR days "${era} * 146097 + ${day_of_era} - 719468")
math(EXPR LEVELWISE_RELEASE_EPOCH "${days} * 86400 + 43200")
