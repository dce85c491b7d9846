# Quotation tests, part of the documents suite.
target_sources(documents_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/quotationfixture.h
  ${CMAKE_CURRENT_LIST_DIR}/quotationline_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quotationcalc_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quotationfile_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quotationoutput_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quotationedit_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmofferte_test.cpp
)
