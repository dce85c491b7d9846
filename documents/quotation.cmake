# The quotation side of the documents library: lines, calculation, file, outputs and
# print options (window-free), and the windows that bind to them.
target_sources(vandrel_documents PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/quotationline.cpp ${CMAKE_CURRENT_LIST_DIR}/quotationline.h
  ${CMAKE_CURRENT_LIST_DIR}/quotationcatalog.cpp ${CMAKE_CURRENT_LIST_DIR}/quotationcatalog.h
  ${CMAKE_CURRENT_LIST_DIR}/quotationcalc.cpp ${CMAKE_CURRENT_LIST_DIR}/quotationcalc.h
  ${CMAKE_CURRENT_LIST_DIR}/quotationfile.cpp ${CMAKE_CURRENT_LIST_DIR}/quotationfile.h
  ${CMAKE_CURRENT_LIST_DIR}/quotationprintoptions.cpp ${CMAKE_CURRENT_LIST_DIR}/quotationprintoptions.h
  ${CMAKE_CURRENT_LIST_DIR}/quotationoutput.cpp ${CMAKE_CURRENT_LIST_DIR}/quotationoutput.h
  ${CMAKE_CURRENT_LIST_DIR}/quotationedit.cpp ${CMAKE_CURRENT_LIST_DIR}/quotationedit.h
  ${CMAKE_CURRENT_LIST_DIR}/frmoffparam.cpp ${CMAKE_CURRENT_LIST_DIR}/frmoffparam.h
  ${CMAKE_CURRENT_LIST_DIR}/frmofferte.cpp ${CMAKE_CURRENT_LIST_DIR}/frmofferte.h
)
