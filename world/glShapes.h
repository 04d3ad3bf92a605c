#pragma once

#include <GL/glu.h>

// Small drawing helpers shared by the world objects.

// Front-face ambient and diffuse material, alpha 1.
void SetFrontMaterial(float ar, float ag, float ab, float dr, float dg, float db);

// An axis-aligned box as six quads with outward normals (one begin/end batch).
void DrawBox(float x0, float y0, float z0, float x1, float y1, float z1);

// The one quadric used for every sphere and cylinder of the scene, smooth normals.
// Created on first use; it is only a parameter block, so no GL context is needed.
GLUquadric* SharedQuadric();
