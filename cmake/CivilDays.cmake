# Included by dist/debian-changelog.cmake (a script) and by Reproducible.cmake (the build).

# Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's days_from_civil).
function(days_from_civil year month day out)
    if(month LESS_EQUAL 2)
        math(EXPR year "${year} - 1")
        math(EXPR shifted "${month} + 9")
    else()
        math(EXPR shifted "${month} - 3")
    endif()
    math(EXPR era "${year} / 400")
    math(EXPR yoe "${year} - ${era} * 400")
    math(EXPR doy "(153 * ${shifted} + 2) / 5 + ${day} - 1")
    math(EXPR doe "${yoe} * 365 + ${yoe} / 4 - ${yoe} / 100 + ${doy}")
    math(EXPR days "${era} * 146097 + ${doe} - 719468")
    set(${out} ${days} PARENT_SCOPE)
endfunction()
