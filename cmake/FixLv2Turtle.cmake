# Corrects the framework-generated Turtle of the LV2 bundle where it breaks the LV2 schemas, so that
# lv2_validate accepts it. Run after the framework's own post-build step: cmake -DBUNDLE=<dir> -P ...
if (NOT BUNDLE OR NOT EXISTS "${BUNDLE}/dsp.ttl")
    message (FATAL_ERROR "FixLv2Turtle: no LV2 bundle at '${BUNDLE}'")
endif()

# The maintainer and release belong to a doap:Project.
file (READ "${BUNDLE}/dsp.ttl" dsp)
string (REPLACE "\ta lv2:Plugin ;\n\tdoap:name" "\ta lv2:Plugin , doap:Project ;\n\tdoap:name" dsp "${dsp}")
# A mailbox is a mailto: address, not a path inside the bundle.
string (REGEX REPLACE "foaf:mbox <([^:>]+@[^>]+)>" "foaf:mbox <mailto:\\1>" dsp "${dsp}")
# Port properties belong to ports; parameters keep their scale points.
string (REPLACE "\tlv2:portProperty lv2:enumeration , lv2:toggled ;\n" "" dsp "${dsp}")
file (WRITE "${BUNDLE}/dsp.ttl" "${dsp}")

# noUserResize is a feature, not extension data; the options interface is extension data, not a feature.
file (READ "${BUNDLE}/ui.ttl" ui)
string (REPLACE "\t\tui:noUserResize ,\n\t\tui:resize ;" "\t\tui:resize ;" ui "${ui}")
string (REPLACE "\t\tui:noUserResize ,\n\t\topts:interface ,\n\t\topts:options ;" "\t\tui:noUserResize ,\n\t\topts:options ;" ui "${ui}")
file (WRITE "${BUNDLE}/ui.ttl" "${ui}")

# The single unnamed program is not a preset anyone can choose; its state key is not a defined property.
file (READ "${BUNDLE}/manifest.ttl" manifest)
string (FIND "${manifest}" ":preset1>" presetAt)
if (presetAt GREATER 0)
    string (SUBSTRING "${manifest}" 0 ${presetAt} head)
    string (FIND "${head}" "\n<" presetStart REVERSE)
    string (SUBSTRING "${manifest}" 0 ${presetStart} manifest)
    string (APPEND manifest "\n")
endif()
file (WRITE "${BUNDLE}/manifest.ttl" "${manifest}")
