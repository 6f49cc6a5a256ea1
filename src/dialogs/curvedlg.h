#pragma once

// "Velmora Settings": the curve-tool settings, read in place by the curve tools, the status
// line and the repaint.
class CCurveDlg {
public:
    static constexpr int kTemplateId = 138;

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
