#pragma once

// Where the listener stands and which way it faces, in world units (x and z
// across the field, y up), as the scene's camera transform places the eye:
// rotate by pitch about x, by yaw about y, by roll about z (whole degrees),
// then translate by minus the camera's position. The eye looks along its
// own -z with +y up; at and up are those two directions in the world.
struct ListenerPlacement {
    float position[3];
    float at[3];
    float up[3];
};

ListenerPlacement CameraListener(int pitch, int yaw, int roll, float x, float y, float z);
