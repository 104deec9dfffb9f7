#include "engine/gfx/Camera.h"

#include "engine/core/Quenth.h"
#include "engine/math/Math.h"

#include <GL/gl.h>
#include <cmath>

namespace quenth {

Camera::Camera()
    : up(0, 1, 0), direction(0, 0, 0), position(0, 0, 0), nearPlane(0.1f), farPlane(100.0f), fov(45.0f) {
    matrix.identity();
}

void Camera::lookAt(vec3 const& target) {
    direction = target - position;
    direction.normalize();
}

void Camera::bind(char mode) {
    if (mode & PROJECTION) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        fov = Math::clampf(fov, 0.5f, 100.0f);
        float top = nearPlane * tanf(fov * 3.14159265f / 360.0f);
        // Without a window (height 0) the frustum falls back to a square one.
        int w = Quenth::getScreenWidth(), h = Quenth::getScreenHeight();
        float aspect = h > 0 ? (float)w / (float)h : 1.0f;
        float right = top * aspect;
        glFrustum(-right, right, -top, top, nearPlane, farPlane);
    }

    up.normalize();
    direction.normalize();
    vec3 s = Math::cross(direction, up);
    s.normalize();
    vec3 u = Math::cross(s, direction);
    u.normalize();

    float* m = matrix.m;
    for (int i = 0; i < 16; i++) m[i] = 0;
    if (mode & ROTATION) {
        m[0] = s.x, m[4] = s.y, m[8] = s.z;
        m[1] = u.x, m[5] = u.y, m[9] = u.z;
        m[2] = -direction.x, m[6] = -direction.y, m[10] = -direction.z;
    } else {
        m[0] = m[5] = m[10] = 1;
    }
    if (mode & TRANSLATION) {
        vec3 const& p = position;
        m[12] = -(m[0] * p.x + m[4] * p.y + m[8] * p.z);
        m[13] = -(m[1] * p.x + m[5] * p.y + m[9] * p.z);
        m[14] = -(m[2] * p.x + m[6] * p.y + m[10] * p.z);
    }
    m[15] = 1;
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(m);
}

} // namespace quenth
