#pragma once

// Engine codes: what to do with a fetched page.
enum EngineCode : int {
    ecThumbnailPage = 0,
    ecScourNet = 1,
    ecHotBot = 2,
    ecLycos = 3,
    ecLycosImagesDirect = 4,
    ecCommons = 5,   // a Wikimedia Commons answer page
    ecOpenverse = 6, // an Openverse answer page
    ecListedPage = 99,
};
