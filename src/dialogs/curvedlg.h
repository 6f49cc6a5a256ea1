#pragma once

#include "dialogs/dialogform.h"

// "Velmora Settings" (template 138): the curve-tool settings, read in place by the curve tools,
// the status line and the repaint. The centre fields 1007 and 1008 belong to no member: they
// open empty and what is typed there is dropped.
class CCurveDlg {
public:
    int DoModal() { return runDialog(form()); }
    DialogForm form();

    float m_samplingPeriod = 0.0f;
    int m_incrementalEllipse = 0;
    int m_valueCount = 0;
    int m_curveStartX = 0;
    int m_curveStartY = 0;
    int m_radius10 = 0;
    int m_numbers = 0;
    int m_squaresEllipses = 0;
    int m_preciseIntegration = 0;
};
