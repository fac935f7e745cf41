# Addresses of the prefecture's services. They are build options so that a deployment can set
# them; at run time an environment variable of the same name overrides the built-in value.
set(VAKREL_NYUSATSU_URL "http://ppi.nyusatsu.pref.example.jp/ppi/pub"
    CACHE STRING "Start page of the bidding-information service (path /ppi/pub)")
set(VAKREL_GIS_HOST "gis.pref.example.jp"
    CACHE STRING "Host name of the GIS map server")
set(VAKREL_ROUTE_URL "http://route.example.jp/distance/index.html"
    CACHE STRING "Address of the route-distance page")
